@type 解答题
@score 12
求过圆$x^2+y^2=25$上一点P(3,4)的切线方程。
@plot circle-origin:5 line-general:3,4,-25
## 解答
解答与分析:
过圆$x^2+y^2=r^2$上一点$(x_0,y_0)$的切线方程为$x_0x+y_0y=r^2$，
所以切线方程为3x+4y=25。
