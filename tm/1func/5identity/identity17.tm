@type 填空题
@score 5
已知 $\cos\alpha=-\frac{4}{5}$，$\alpha\in\left(\frac{\pi}{2},\pi\right)$，则 $\sin 2\alpha=$______。
## 解答
解答与分析:
$\sin\alpha=\frac{3}{5}$，$\sin 2\alpha=2\sin\alpha\cos\alpha=-\frac{24}{25}$。
