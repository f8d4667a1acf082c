@type 选择题
@score 5
椭圆 $\frac{x^2}{4}+\frac{y^2}{3}=1$ 的两个焦点为 $F_1$，$F_2$，过 $F_1$ 的直线交椭圆于 $A$，$B$ 两点，则 $\triangle ABF_2$ 的周长为
@choice A $4$
@choice B $6$
@choice C $8$
@choice D $12$
## 解答
解答与分析:
周长为 $|AF_1|+|AF_2|+|BF_1|+|BF_2|=4a=8$。故选 C。
