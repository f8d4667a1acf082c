@type 选择题
@score 5
函数 $y=a^{x-1}+2$（$a>0$ 且 $a\neq1$）的图象恒过定点
@choice A $(0,2)$
@choice B $(1,2)$
@choice C $(0,3)$
@choice D $(1,3)$
## 解答
解答与分析:
当 $x=1$ 时 $y=a^0+2=3$，图象恒过定点 $(1,3)$。故选 D。
