@type 选择题
@score 5
抛物线 $y=2(x-1)^2+3$ 的顶点坐标是
@choice A $(-1,3)$
@choice B $(1,-3)$
@choice C $(-1,-3)$
@choice D $(1,3)$
## 解答
解答与分析:
顶点坐标为 $(1,3)$。故选 D。
