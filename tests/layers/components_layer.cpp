// The shared components (charts and photographs among them) see the core and
// the database layer, never the shell, the screen framework or a business area.
#if !__has_include("components/charts/chart_panels.h") || !__has_include("components/photos/photo_view.h")
#error the components layer does not see its own headers
#endif
#if !__has_include("core/rounding.h") || !__has_include("db/dataset.h")
#error the components layer does not see what it builds on
#endif
#if __has_include("shell/signon.h") || __has_include("screens/field_rule.h")
#error the components layer sees the shell or the screen framework
#endif
#if __has_include("quotation/price_chart.h") || __has_include("articles/store/article_store.h")
#error the components layer sees a business area
#endif
