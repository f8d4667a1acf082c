@type 选择题
@score 5
若直线 $y=x+m$ 与椭圆 $\frac{x^2}{2}+y^2=1$ 相切，则 $m=$
@choice A $\pm\sqrt{3}$
@choice B $\pm\sqrt{2}$
@choice C $\pm 1$
@choice D $\pm\sqrt{6}$
## 解答
解答与分析:
联立得 $3x^2+4mx+2m^2-2=0$，$\Delta=16m^2-12(2m^2-2)=0$，$m=\pm\sqrt{3}$。故选 A。
