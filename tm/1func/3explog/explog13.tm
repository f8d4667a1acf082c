@type 选择题
@score 5
$\log_2 8+\lg 100=$
@choice A $4$
@choice B $5$
@choice C $6$
@choice D $7$
## 解答
解答与分析:
$\log_2 8=3$，$\lg 100=2$，和为 5。故选 B。
