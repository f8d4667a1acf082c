@type 选择题
@score 5
二次函数 $y=x^2-4x+5$ 的最小值是
@choice A $-1$
@choice B $1$
@choice C $2$
@choice D $5$
## 解答
解答与分析:
$y=(x-2)^2+1$，当 $x=2$ 时 $y$ 取最小值 1。故选 B。
