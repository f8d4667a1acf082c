@type 选择题
@score 5
抛物线 $y^2=8x$ 的焦点坐标是
@choice A $(2,0)$
@choice B $(4,0)$
@choice C $(0,2)$
@choice D $(-2,0)$
## 解答
解答与分析:
$2p=8$，$\frac{p}{2}=2$，焦点为 $(2,0)$。故选 A。
