@type 解答题
@score 12
求抛物线$y^2=4x$上的点到直线x-y+4=0的距离的最小值，并求此时点的坐标。
@plot parabola-right:2 line-general:1,-1,4
## 解答
解答与分析:
设抛物线上的点$P(\frac{t^2}{4},t)$，它到直线的距离
$d=\frac{|\frac{t^2}{4}-t+4|}{\sqrt{2}}=\frac{\frac{1}{4}{(t-2)}^2+3}{\sqrt{2}}$。
当t=2时d最小，$d=\frac{3}{\sqrt{2}}=\frac{3\sqrt{2}}{2}$，此时P(1,2)。
所以最小距离为$\frac{3\sqrt{2}}{2}$，此时点为(1,2)。
