@type 选择题
@score 5
双曲线 $\frac{x^2}{16}-\frac{y^2}{9}=1$ 的离心率是
@choice A $\frac{5}{3}$
@choice B $\frac{4}{3}$
@choice C $\frac{5}{4}$
@choice D $\frac{3}{4}$
## 解答
解答与分析:
$c=\sqrt{16+9}=5$，$e=\frac{5}{4}$。故选 C。
