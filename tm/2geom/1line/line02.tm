@type 解答题
@score 12
求点P(2,1)到直线3x+4y-5=0的距离。
@plot line-general:3,4,-5 line-point-slope:2,1,1.333+1010
## 解答
解答与分析:
$d=\frac{|3×2+4×1-5|}{\sqrt{3^2+4^2}}=\frac{5}{5}=1$。
