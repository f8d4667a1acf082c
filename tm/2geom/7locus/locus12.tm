@type 选择题
@score 5
到两点 $F_1(-3,0)$，$F_2(3,0)$ 的距离之和为 10 的点的轨迹方程是
@choice A $\frac{x^2}{25}+\frac{y^2}{9}=1$
@choice B $\frac{x^2}{16}+\frac{y^2}{25}=1$
@choice C $\frac{x^2}{25}+\frac{y^2}{16}=1$
@choice D $\frac{x^2}{100}+\frac{y^2}{64}=1$
## 解答
解答与分析:
轨迹是椭圆，$a=5$，$c=3$，$b^2=16$，方程为 $\frac{x^2}{25}+\frac{y^2}{16}=1$。故选 C。
