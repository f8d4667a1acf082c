@type 选择题
@score 5
下列函数中，在区间 $(0,+\infty)$ 上单调递减的是
@choice A $y=x^2$
@choice B $y=2^x$
@choice C $y=\frac{1}{x}$
@choice D $y=\log_2 x$
## 解答
解答与分析:
$y=x^2$，$y=2^x$，$y=\log_2 x$ 在 $(0,+\infty)$ 上都单调递增，$y=\frac{1}{x}$ 单调递减。故选 C。
