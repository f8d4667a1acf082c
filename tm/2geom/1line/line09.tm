@type 解答题
@score 12
求点P(4,5)关于直线l：3x-y+3=0的对称点Q的坐标。
@plot line-general:3,-1,3 line-two-point:4,5,-2,7+1010+1011
## 解答
解答与分析:
设Q(m,n)，则PQ⊥l，且PQ的中点在l上：
$\begin{cases}\frac{n-5}{m-4}×3=-1\\3×\frac{m+4}{2}-\frac{n+5}{2}+3=0\end{cases}$
化简得$\begin{cases}m+3n-19=0\\3m-n+13=0\end{cases}$，解得m=-2，n=7。
所以对称点Q的坐标为(-2,7)。
