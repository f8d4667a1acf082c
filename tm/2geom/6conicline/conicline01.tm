@type 解答题
@score 12
求直线y=x+1被椭圆$\frac{x^2}{4}+\frac{y^2}{2}=1$截得的弦长。
@plot ellipse-x:2,1.414 line-slope:1,1
## 解答
解答与分析:
把y=x+1代入椭圆方程：$x^2+2{(x+1)}^2=4$，即$3x^2+4x-2=0$，Δ=16+24=40>0。
$x_1+x_2=-\frac{4}{3}$，$x_1x_2=-\frac{2}{3}$，
弦长$=\sqrt{1+k^2}·\sqrt{{(x_1+x_2)}^2-4x_1x_2}=\sqrt{2}×\sqrt{\frac{16}{9}+\frac{8}{3}}=\sqrt{2}×\frac{2\sqrt{10}}{3}=\frac{4\sqrt{5}}{3}$。
