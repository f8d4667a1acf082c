@type 选择题
@score 5
$\sin 150^\circ=$
@choice A $-\frac{1}{2}$
@choice B $\frac{\sqrt{3}}{2}$
@choice C $\frac{1}{2}$
@choice D $-\frac{\sqrt{3}}{2}$
## 解答
解答与分析:
$\sin 150^\circ=\sin 30^\circ=\frac{1}{2}$。故选 C。
