@type 解答题
@score 12
已知直线$l_1$：2x+y-1=0与直线$l_2$：ax-2y+3=0互相垂直，求a的值。
@plot line-general:2,1,-1 line-general:1,-2,3
## 解答
解答与分析:
两直线垂直的条件是$A_1A_2+B_1B_2=0$，
即2a+1×(-2)=0，所以a=1。
