@type 选择题
@score 5
圆 $(x-1)^2+y^2=1$ 与圆 $x^2+(y-2)^2=4$ 的位置关系是
@choice A 内切
@choice B 外切
@choice C 相交
@choice D 相离
## 解答
解答与分析:
圆心距 $d=\sqrt{5}$，$2-1<d<2+1$，两圆相交。故选 C。
