@type 选择题
@score 5
过点 $(1,2)$ 且与直线 $2x-y+1=0$ 平行的直线方程是
@choice A $2x-y=0$
@choice B $x+2y-5=0$
@choice C $2x-y+3=0$
@choice D $x-2y+3=0$
## 解答
解答与分析:
设所求直线为 $2x-y+c=0$，代入 $(1,2)$ 得 $c=0$，即 $2x-y=0$。故选 A。
