@type 选择题
@score 5
到点 $F(0,1)$ 的距离与到直线 $y=-1$ 的距离相等的点的轨迹方程是
@choice A $x^2=4y$
@choice B $y^2=4x$
@choice C $x^2=2y$
@choice D $x^2=-4y$
## 解答
解答与分析:
轨迹是以 $F$ 为焦点的抛物线，$p=2$，方程为 $x^2=4y$。故选 A。
