# Exports, from R packages, the two base-map sources of the default data:
#
# 1. The prefecture outlines of the `japan` database of the R package
# mapdata (GPL-2) to data/sources/prefectures_mapdata.geojson: one feature per
# prefecture, a MultiPolygon of every ring (main land and islands) in
# longitude/latitude, five decimals. The output is deterministic, so a refresh
# only shows a diff when the package's data changed.
#
# 2. The Japanese places of maps::world.cities (GPL-2; towns of about 40,000
#    people and more, two decimals) to data/sources/world_cities_japan.csv. The
#    extraction script takes a municipality's point from there only when the
#    OpenStreetMap points have none.
#
# Needs: r-base-core r-cran-maps r-cran-mapdata.
# Run from the repository root: Rscript data/tools/export_sources.R
suppressPackageStartupMessages({
  library(maps)
  library(mapdata)
})

out <- "data/sources/prefectures_mapdata.geojson"
m <- map("japan", fill = TRUE, plot = FALSE)

# Rings are separated by NA; m$names gives each ring's region ("Tokyo" or
# "Tokyo:" for the further rings of the same prefecture).
breaks <- which(is.na(m$x))
starts <- c(1, breaks + 1)
ends <- c(breaks - 1, length(m$x))
regions <- sub(":.*$", "", m$names)
stopifnot(length(starts) == length(regions))

fmt <- function(v) formatC(v, format = "f", digits = 5)
rings_by_region <- list()
for (i in seq_along(starts)) {
  xs <- m$x[starts[i]:ends[i]]
  ys <- m$y[starts[i]:ends[i]]
  if (length(xs) < 3) next
  # GeoJSON rings are closed.
  if (xs[1] != xs[length(xs)] || ys[1] != ys[length(ys)]) {
    xs <- c(xs, xs[1])
    ys <- c(ys, ys[1])
  }
  ring <- paste0("[[", paste0(fmt(xs), ",", fmt(ys), collapse = "],["), "]]")
  r <- regions[i]
  rings_by_region[[r]] <- c(rings_by_region[[r]], ring)
}

names_sorted <- sort(names(rings_by_region), method = "radix")
features <- vapply(names_sorted, function(r) {
  polys <- paste0("[", rings_by_region[[r]], "]", collapse = ",")
  paste0('{"type":"Feature","properties":{"name":"', r,
         '"},"geometry":{"type":"MultiPolygon","coordinates":[', polys, "]}}")
}, character(1))

con <- file(out, open = "wb")
writeLines(c('{"type":"FeatureCollection",',
             paste0('"source":"R package mapdata ', packageVersion("mapdata"),
                    ', database japan (GPL-2)",'),
             '"features":[',
             paste(features, collapse = ",\n"),
             "]}"), con, sep = "\n")
close(con)
cat(sprintf("%s: %d prefectures, %d rings\n", out, length(features),
            sum(lengths(rings_by_region))))

wc <- world.cities[world.cities$country.etc == "Japan", c("name", "lat", "long", "pop")]
wc <- wc[order(wc$name, wc$lat, wc$long, method = "radix"), ]
con <- file("data/sources/world_cities_japan.csv", open = "wb")
writeLines(c("name,lat,lon,pop",
             sprintf("%s,%.2f,%.2f,%d", wc$name, wc$lat, wc$long, as.integer(wc$pop))),
           con, sep = "\n")
close(con)
cat(sprintf("data/sources/world_cities_japan.csv: %d places\n", nrow(wc)))
