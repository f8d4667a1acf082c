@type 选择题
@score 5
椭圆 $\frac{x^2}{25}+\frac{y^2}{16}=1$ 的离心率是
@choice A $\frac{4}{5}$
@choice B $\frac{3}{5}$
@choice C $\frac{3}{4}$
@choice D $\frac{5}{3}$
## 解答
解答与分析:
$a=5$，$c=\sqrt{25-16}=3$，$e=\frac{3}{5}$。故选 B。
