@type 解答题
@score 12
直线l经过点P(1,2)，且与x轴、y轴的正半轴分别交于A、B两点，O为原点。求△AOB面积的最小值及此时l的方程。
@plot line-point-slope:1,2,-2+1010
## 解答
解答与分析:
设l：$\frac{x}{a}+\frac{y}{b}=1(a>0$，b>0)，则$\frac{1}{a}+\frac{2}{b}=1$。
$1=\frac{1}{a}+\frac{2}{b}≥2\sqrt{\frac{2}{ab}}$，所以ab≥8，$S=\frac{1}{2}ab≥4$。
当且仅当$\frac{1}{a}=\frac{2}{b}=\frac{1}{2}$，即a=2，b=4时取等号。
所以△AOB面积的最小值为4，此时l的方程为$\frac{x}{2}+\frac{y}{4}=1$，即2x+y-4=0。
