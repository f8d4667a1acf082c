@type 选择题
@score 5
设 $a=2^{0.3}$，$b=0.3^2$，$c=\log_2 0.3$，则
@choice A $a>b>c$
@choice B $b>a>c$
@choice C $c>a>b$
@choice D $a>c>b$
## 解答
解答与分析:
$a>2^0=1$，$0<b=0.09<1$，$c<\log_2 1=0$，所以 $a>b>c$。故选 A。
