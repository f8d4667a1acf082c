@type 解答题
@score 12
已知A(-2,0)、B(2,0)，动点P满足PA⊥PB，求点P的轨迹方程。
@plot circle-origin:2
## 解答
解答与分析:
设P(x,y)，由PA⊥PB得$\frac{y}{x+2}·\frac{y}{x-2}=-1(x≠±2)$，
即$x^2+y^2=4(x≠±2)$。
所以点P的轨迹方程为$x^2+y^2=4(x≠±2)$。
