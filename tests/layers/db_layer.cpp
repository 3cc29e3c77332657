// The database layer sees its own headers and the core's, none of a layer above.
#if !__has_include("db/dataset.h") || !__has_include("core/rounding.h")
#error the db layer does not see its own headers
#endif
#if __has_include("shell/signon.h") || __has_include("screens/field_rule.h") || \
    __has_include("reference/reference_tables.h") || __has_include("components/widget_view.h")
#error the db layer sees a layer above it
#endif
