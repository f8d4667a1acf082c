@type 解答题
@score 12
求直线y=x+1被圆$x^2+y^2=4$截得的弦长。
@plot circle-origin:2 line-slope:1,1
## 解答
解答与分析:
圆心到直线x-y+1=0的距离$d=\frac{1}{\sqrt{2}}=\frac{\sqrt{2}}{2}$。
弦长$=2\sqrt{r^2-d^2}=2\sqrt{4-\frac{1}{2}}=\sqrt{14}$。
