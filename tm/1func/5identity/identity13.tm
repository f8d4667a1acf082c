@type 选择题
@score 5
$\sin 15^\circ\cos 15^\circ=$
@choice A $\frac{1}{2}$
@choice B $\frac{\sqrt{3}}{4}$
@choice C $\frac{\sqrt{3}}{2}$
@choice D $\frac{1}{4}$
## 解答
解答与分析:
原式 $=\frac{1}{2}\sin 30^\circ=\frac{1}{4}$。故选 D。
