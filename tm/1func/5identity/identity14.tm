@type 选择题
@score 5
已知 $\tan\alpha=2$，则 $\tan 2\alpha=$
@choice A $\frac{4}{3}$
@choice B $-\frac{4}{3}$
@choice C $\frac{3}{4}$
@choice D $-\frac{3}{4}$
## 解答
解答与分析:
$\tan 2\alpha=\frac{2\tan\alpha}{1-\tan^2\alpha}=\frac{4}{1-4}=-\frac{4}{3}$。故选 B。
