@type 解答题
@score 12
斜率为1的直线l经过抛物线$y^2=4x$的焦点F，与抛物线交于A、B两点，O为坐标原点，求△OAB的面积。
@plot parabola-right:2+1011 line-slope:1,-1
## 解答
解答与分析:
F(1,0)，l：x=y+1，代入$y^2=4x$得$y^2-4y-4=0$，
$y_1+y_2=4$，$y_1y_2=-4$，$|y_1-y_2|=\sqrt{{(y_1+y_2)}^2-4y_1y_2}=\sqrt{32}=4\sqrt{2}$。
$S=\frac{1}{2}|OF|·|y_1-y_2|=\frac{1}{2}×1×4\sqrt{2}=2\sqrt{2}$。
