@type 选择题
@score 5
将函数 $y=\sin x$ 的图象向左平移 $\frac{\pi}{6}$ 个单位长度，所得图象对应的函数是
@choice A $y=\sin\left(x-\frac{\pi}{6}\right)$
@choice B $y=\sin\left(x+\frac{\pi}{6}\right)$
@choice C $y=\sin x+\frac{\pi}{6}$
@choice D $y=\sin x-\frac{\pi}{6}$
## 解答
解答与分析:
向左平移 $\frac{\pi}{6}$ 个单位，$x$ 换成 $x+\frac{\pi}{6}$，得 $y=\sin\left(x+\frac{\pi}{6}\right)$。故选 B。
