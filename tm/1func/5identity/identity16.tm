@type 选择题
@score 5
函数 $f(x)=\sin x+\sqrt{3}\cos x$ 的最大值是
@choice A $1$
@choice B $\sqrt{3}$
@choice C $2$
@choice D $1+\sqrt{3}$
## 解答
解答与分析:
$f(x)=2\sin\left(x+\frac{\pi}{3}\right)$，最大值为 2。故选 C。
