@type 选择题
@score 5
函数 $f(x)=\sqrt{x-1}+\frac{1}{x-3}$ 的定义域是
@choice A $[1,3)$
@choice B $[1,3)\cup(3,+\infty)$
@choice C $(1,+\infty)$
@choice D $(3,+\infty)$
## 解答
解答与分析:
由 $x-1\geq0$ 且 $x-3\neq0$ 得 $x\geq1$ 且 $x\neq3$，定义域为 $[1,3)\cup(3,+\infty)$。故选 B。
