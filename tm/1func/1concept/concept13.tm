@type 选择题
@score 5
已知函数 $f(x)=x^3+x$，则 $f(x)$
@choice A 是偶函数
@choice B 是奇函数
@choice C 既是奇函数又是偶函数
@choice D 既不是奇函数也不是偶函数
## 解答
解答与分析:
定义域为 $\mathbb{R}$，$f(-x)=-x^3-x=-f(x)$，所以 $f(x)$ 是奇函数。故选 B。
