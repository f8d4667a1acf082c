@type 解答题
@score 12
求椭圆$\frac{x^2}{16}+\frac{y^2}{12}=1$上的点到直线x-2y-12=0的距离的最小值，并求此时点的坐标。
@plot ellipse-x:4,3.464 line-general:1,-2,-12
## 解答
解答与分析:
设椭圆上的点$P(4cosθ,2\sqrt{3}sinθ)$，它到直线的距离
$d=\frac{|4cosθ-4\sqrt{3}sinθ-12|}{\sqrt{5}}=\frac{|8cos(θ+\frac{π}{3})-12|}{\sqrt{5}}$。
当$cos(θ+\frac{π}{3})=1$，即$θ=-\frac{π}{3}$时，d最小，$d=\frac{4}{\sqrt{5}}=\frac{4\sqrt{5}}{5}$，此时P(2,-3)。
所以最小距离为$\frac{4\sqrt{5}}{5}$，此时点的坐标为(2,-3)。
