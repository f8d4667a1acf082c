@type 解答题
@score 12
求两条平行直线3x+4y-12=0与3x+4y+3=0之间的距离。
@plot line-general:3,4,-12 line-general:3,4,3
## 解答
解答与分析:
$d=\frac{|-12-3|}{\sqrt{3^2+4^2}}=\frac{15}{5}=3$。
