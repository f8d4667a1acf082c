@type 选择题
@score 5
直线 $y=x+1$ 与抛物线 $y^2=4x$ 的公共点个数为
@choice A $0$
@choice B $1$
@choice C $2$
@choice D 无数个
## 解答
解答与分析:
联立得 $x^2-2x+1=0$，$\Delta=0$，只有 1 个公共点。故选 B。
