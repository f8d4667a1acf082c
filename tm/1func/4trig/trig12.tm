@type 选择题
@score 5
函数 $y=\sin\left(2x+\frac{\pi}{3}\right)$ 的最小正周期是
@choice A $\frac{\pi}{2}$
@choice B $\pi$
@choice C $2\pi$
@choice D $4\pi$
## 解答
解答与分析:
$T=\frac{2\pi}{2}=\pi$。故选 B。
