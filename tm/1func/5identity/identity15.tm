@type 填空题
@score 5
$\sin 75^\circ\cos 15^\circ+\cos 75^\circ\sin 15^\circ=$______。
## 解答
解答与分析:
原式 $=\sin 90^\circ=1$。
