@type 解答题
@score 12
已知曲线C的参数方程为$\begin{cases}x=2cosθ\\y=2+2sinθ\end{cases}(θ$为参数)，求直线y=x被曲线C截得的弦长。
@plot circle-centre:0,2,2+1010 line-slope:1,0
## 解答
解答与分析:
由$cosθ=\frac{x}{2}$，$sinθ=\frac{y-2}{2}$得$x^2+{(y-2)}^2=4$，C是圆心为(0,2)、半径为2的圆。
圆心到直线x-y=0的距离$d=\frac{|0-2|}{\sqrt{2}}=\sqrt{2}$，
弦长$=2\sqrt{r^2-d^2}=2\sqrt{4-2}=2\sqrt{2}$。
