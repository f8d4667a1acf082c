@type 选择题
@score 5
双曲线 $\frac{y^2}{9}-\frac{x^2}{16}=1$ 的焦点坐标是
@choice A $(\pm 5,0)$
@choice B $(0,\pm 5)$
@choice C $(\pm\sqrt{7},0)$
@choice D $(0,\pm\sqrt{7})$
## 解答
解答与分析:
$c=\sqrt{9+16}=5$，焦点在 $y$ 轴上，坐标为 $(0,\pm 5)$。故选 B。
