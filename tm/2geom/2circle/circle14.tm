@type 选择题
@score 5
直线 $3x+4y-5=0$ 与圆 $x^2+y^2=1$ 的位置关系是
@choice A 相交
@choice B 相切
@choice C 相离
@choice D 无法确定
## 解答
解答与分析:
圆心到直线的距离 $d=\frac{5}{5}=1=r$，所以相切。故选 B。
