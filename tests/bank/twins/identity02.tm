已知$sin\alpha=\frac35$，且α是第二象限角，求cosα和tanα。
## 解答
解答与分析:
α在第二象限，cosα<0。
$cos\alpha=-\sqrt{1-{(\frac{3}{5})}^2}=-\frac{4}{5}$，
$tan\alpha=\frac{sin\alpha}{cos\alpha}=-\frac{3}{4}$。
