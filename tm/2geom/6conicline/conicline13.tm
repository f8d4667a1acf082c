@type 选择题
@score 5
直线 $y=x$ 被椭圆 $\frac{x^2}{4}+y^2=1$ 截得的弦长为
@choice A $\frac{2\sqrt{10}}{5}$
@choice B $\frac{4\sqrt{5}}{5}$
@choice C $\frac{8}{5}$
@choice D $\frac{4\sqrt{10}}{5}$
## 解答
解答与分析:
联立得 $x^2=\frac{4}{5}$，$x=\pm\frac{2}{\sqrt{5}}$，弦长为 $\sqrt{2}\cdot\frac{4}{\sqrt{5}}=\frac{4\sqrt{10}}{5}$。故选 D。
