@type 选择题
@score 5
椭圆 $\frac{x^2}{9}+\frac{y^2}{5}=1$ 的焦点坐标是
@choice A $(0,\pm 2)$
@choice B $(\pm\sqrt{14},0)$
@choice C $(\pm 3,0)$
@choice D $(\pm 2,0)$
## 解答
解答与分析:
$c=\sqrt{9-5}=2$，焦点在 $x$ 轴上，坐标为 $(\pm 2,0)$。故选 D。
