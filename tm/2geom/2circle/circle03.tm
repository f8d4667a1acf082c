@type 解答题
@score 12
判断直线3x+4y-10=0与圆$x^2+y^2=4$的位置关系。
@plot circle-origin:2 line-general:3,4,-10
## 解答
解答与分析:
圆心(0,0)到直线的距离$d=\frac{|-10|}{\sqrt{3^2+4^2}}=2$，
半径r=2，d=r，所以直线与圆相切。
