@type 解答题
@score 12
把参数方程$\begin{cases}x=3cosθ\\y=2sinθ\end{cases}(θ$为参数)化为普通方程，并说明它表示什么曲线。
@plot ellipse-x:3,2+1010
## 解答
解答与分析:
$cosθ=\frac{x}{3}$，$sinθ=\frac{y}{2}$，由${cos}^2θ+{sin}^2θ=1$得
$\frac{x^2}{9}+\frac{y^2}{4}=1$。
它表示焦点在x轴上、长轴长为6、短轴长为4的椭圆。
