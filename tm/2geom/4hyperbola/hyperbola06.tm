@type 解答题
@score 12
求双曲线$\frac{x^2}{16}-\frac{y^2}{9}=1$的准线方程。
@plot hyperbola-x:4,3+1011+1012
## 解答
解答与分析:
$a^2=16$，$c=\sqrt{16+9}=5$，
准线方程为$x=±\frac{a^2}{c}=±\frac{16}{5}$。
