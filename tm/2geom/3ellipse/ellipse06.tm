@type 解答题
@score 12
求椭圆$\frac{x^2}{16}+\frac{y^2}{4}=1$的准线方程。
@plot ellipse-x:4,2+1011+1012
## 解答
解答与分析:
$c^2=16-4=12$，$c=2\sqrt{3}$。
准线方程为$x=±\frac{a^2}{c}=±\frac{16}{2\sqrt{3}}=±\frac{8\sqrt{3}}{3}$。
