// The screen framework sees the shell, the components and the layers below,
// never a business area.
#if !__has_include("screens/field_rule.h") || !__has_include("shell/access_rights.h") || \
    !__has_include("components/widget_view.h") || !__has_include("db/dataset.h")
#error the screens layer does not see what it builds on
#endif
#if __has_include("reference/reference_tables.h") || __has_include("setup/site_setup.h") || \
    __has_include("quotation/quotation_calc.h")
#error the screens layer sees a layer above it
#endif
