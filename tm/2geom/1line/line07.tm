@type 解答题
@score 12
求直线y=3x-2与直线y=-x+6的交点坐标。
@plot line-slope:3,-2 line-slope:-1,6
## 解答
解答与分析:
联立$\begin{cases}y=3x-2\\y=-x+6\end{cases}$
得3x-2=-x+6，x=2，y=4。
交点坐标为(2,4)。
