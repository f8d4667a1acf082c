@type 选择题
@score 5
双曲线 $\frac{x^2}{4}-\frac{y^2}{9}=1$ 的渐近线方程是
@choice A $y=\pm\frac{2}{3}x$
@choice B $y=\pm\frac{3}{2}x$
@choice C $y=\pm\frac{4}{9}x$
@choice D $y=\pm\frac{9}{4}x$
## 解答
解答与分析:
$a=2$，$b=3$，渐近线为 $y=\pm\frac{3}{2}x$。故选 B。
