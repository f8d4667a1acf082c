@type 解答题
@score 12
把参数方程$\begin{cases}x=1+2t\\y=2-t\end{cases}(t$为参数)化为普通方程。
@plot line-general:1,2,-5
## 解答
解答与分析:
由y=2-t得t=2-y，代入x=1+2t：x=1+2(2-y)，
即x+2y-5=0。
