@type 选择题
@score 5
过抛物线 $y^2=4x$ 的焦点的直线交抛物线于 $A(x_1,y_1)$，$B(x_2,y_2)$ 两点，若 $x_1+x_2=6$，则 $|AB|=$
@choice A $4$
@choice B $8$
@choice C $6$
@choice D $10$
## 解答
解答与分析:
$|AB|=x_1+x_2+p=6+2=8$。故选 B。
