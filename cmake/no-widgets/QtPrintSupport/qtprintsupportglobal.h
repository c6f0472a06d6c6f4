// Found first on the include path of the platform and core layers: they must not use QtPrintSupport.
#error "QtPrintSupport is not available in this layer: the platform and core layers know no windows."
