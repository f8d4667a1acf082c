@type 选择题
@score 5
直线 $\sqrt{3}x-y+1=0$ 的倾斜角是
@choice A $\frac{\pi}{6}$
@choice B $\frac{\pi}{4}$
@choice C $\frac{\pi}{3}$
@choice D $\frac{2\pi}{3}$
## 解答
解答与分析:
斜率 $k=\sqrt{3}$，倾斜角为 $\frac{\pi}{3}$。故选 C。
