求函数$y=sin(2x+\frac{\pi}{6})$的单调递增区间。
## 解答
解答与分析:
由$-\frac{\pi}{2}+2k\pi \leq 2x+\frac{\pi}{6} \leq \frac{\pi}{2}+2k\pi(k\in Z)$，
得$-\frac{2\pi}{3}+2k\pi\leq2x\leq\frac{\pi}{3}+2k\pi$，即$-\frac{\pi}{3}+k\pi\leq x\leq\frac{\pi}{6}+k\pi$。
所以单调递增区间为$[k\pi-\frac{\pi}{3},k\pi+\frac{\pi}{6}](k\in Z)$。
