求函数$y=\dfrac{\sqrt{x+1}}{x-2}$的定义域。
## 解答
解答与分析:
要使函数有意义，必须
$\begin{cases} x+1\geq 0 \\ x-2\neq 0 \end{cases}$
解得$x\geq -1$且$x\neq 2$。
所以函数的定义域为$[-1,2)\cup(2,+\infty)$。
