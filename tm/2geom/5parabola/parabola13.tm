@type 选择题
@score 5
抛物线 $x^2=4y$ 的准线方程是
@choice A $x=-1$
@choice B $y=1$
@choice C $y=-1$
@choice D $x=1$
## 解答
解答与分析:
$2p=4$，$\frac{p}{2}=1$，准线为 $y=-1$。故选 C。
