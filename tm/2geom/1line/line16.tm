@type 选择题
@score 5
两条平行直线 $x+2y-1=0$ 与 $2x+4y+3=0$ 之间的距离是
@choice A $\frac{\sqrt{5}}{5}$
@choice B $\frac{\sqrt{5}}{10}$
@choice C $\sqrt{5}$
@choice D $\frac{\sqrt{5}}{2}$
## 解答
解答与分析:
第二条直线即 $x+2y+\frac{3}{2}=0$，距离 $d=\frac{5}{2\sqrt{5}}=\frac{\sqrt{5}}{2}$。故选 D。
