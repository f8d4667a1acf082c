@type 解答题
@score 12
求直线$\sqrt{3}x+3y-2=0$的斜率和倾斜角。
@plot line-general:1.732,3,-2
## 解答
解答与分析:
直线化为$y=-\frac{\sqrt{3}}{3}x+\frac{2}{3}$，斜率$k=-\frac{\sqrt{3}}{3}$。
设倾斜角为θ，0≤θ<π，$tanθ=-\frac{\sqrt{3}}{3}$，所以$θ=\frac{5π}{6}($即150°)。
