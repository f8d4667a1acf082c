@type 选择题
@score 5
已知 $\sin\alpha=\frac{3}{5}$，且 $\alpha$ 是第二象限角，则 $\tan\alpha=$
@choice A $\frac{3}{4}$
@choice B $-\frac{3}{4}$
@choice C $\frac{4}{3}$
@choice D $-\frac{4}{3}$
## 解答
解答与分析:
$\cos\alpha=-\frac{4}{5}$，$\tan\alpha=-\frac{3}{4}$。故选 B。
