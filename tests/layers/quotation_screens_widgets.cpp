// The quotation screen's logic links no widgets: the include folders of its
// link closure hold Qt Core but neither Qt Widgets nor Qt Charts. Compiled
// with the closure of the quotation window, which has both, it must fail.
#if !__has_include(<QString>) || !__has_include("quotation/screens/quotation_screen.h")
#error the check does not see the folders of the closure
#endif
#if __has_include(<QWidget>) || __has_include(<QChartView>)
#error the link closure has Qt Widgets or Qt Charts
#endif
