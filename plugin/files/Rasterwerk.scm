; Rasterwerk.scm - Script-Fu procedures of the Rasterwerk plug-in, GIMP 2.10.
;
; (Tavo-Imgcreate base type layers-file resolution)
;   Stacks the plot files "<base>(Layer<i>).<type>" into one picture, one
;   layer per file in list order (the first file at the bottom), each named
;   by the matching entry of the list `layers` that the layers file sets.
;   White paper becomes transparent. EPS plots are rasterised at
;   `resolution` pixels per inch. Saves "<base>.psd" and shows the picture.
;
; (Tavo-Imgconvert base type)
;   Writes the flat picture "<base>.<type>" (tif, png, jpg, bmp or tga) from
;   "<base>.psd".
;
; Paths arrive as Windows paths with forward slashes ("D:/work/site"). The
; launcher sets `tavo-drive-map` ("D=/tmp/x;E=/srv/data") to the drive map
; it received; a path on a drive that is not in the map is used unchanged,
; and Z: is the root folder.

(define layers '())
(define tavo-drive-map "")

; ---- Paths ----

; The parts of `text` between the separator character `sep`.
(define (tavo-split text sep)
  (let loop ((i 0) (start 0) (parts '()))
    (cond ((= i (string-length text))
           (reverse (cons (substring text start i) parts)))
          ((char=? (string-ref text i) sep)
           (loop (+ i 1) (+ i 1) (cons (substring text start i) parts)))
          (else (loop (+ i 1) start parts)))))

; The folder of drive `letter` (upper case) in the drive map, or #f.
(define (tavo-drive-folder letter)
  (let loop ((entries (tavo-split tavo-drive-map #\;)))
    (cond ((null? entries) #f)
          ((and (> (string-length (car entries)) 2)
                (char=? (char-upcase (string-ref (car entries) 0)) letter)
                (char=? (string-ref (car entries) 1) #\=))
           (substring (car entries) 2 (string-length (car entries))))
          (else (loop (cdr entries))))))

; "D:/work/site" -> "<folder of D:>/work/site".
(define (tavo-posix-path path)
  (if (and (>= (string-length path) 2) (char=? (string-ref path 1) #\:))
      (let* ((letter (char-upcase (string-ref path 0)))
             (rest (substring path 2 (string-length path)))
             (folder (if (char=? letter #\Z) "" (tavo-drive-folder letter))))
        (cond ((not folder) path)
              ((and (> (string-length rest) 0) (char=? (string-ref rest 0) #\/))
               (string-append folder rest))
              (else (string-append folder "/" rest))))
      path))

; ---- Create ----

; Opens one plot file as an RGB picture.
(define (tavo-load-plot file type resolution)
  (let ((image (if (string-ci=? type "eps")
                   (begin
                     (file-ps-load-setargs (tavo-eps-resolution resolution) 0 0 1 "1" 6 4 4)
                     (car (file-ps-load RUN-NONINTERACTIVE file file)))
                   (car (gimp-file-load RUN-NONINTERACTIVE file file)))))
    (if (not (= (car (gimp-image-base-type image)) RGB))
        (gimp-image-convert-rgb image))
    image))

; Whole pixels per inch; GIMP's own default when none was given.
(define (tavo-eps-resolution resolution)
  (if (> resolution 0) (inexact->exact (round resolution)) 100))

; Names `layer`, and makes its white paper transparent.
(define (tavo-prepare-layer image layer name)
  (gimp-item-set-name layer name)
  (gimp-layer-add-alpha layer)
  (plug-in-colortoalpha RUN-NONINTERACTIVE image layer '(255 255 255)))

; Adds plot `file` to `image` as its new top layer.
(define (tavo-add-plot image file type resolution name)
  (let* ((plot (tavo-load-plot file type resolution))
         (layer (car (gimp-layer-new-from-drawable
                      (car (gimp-image-get-active-layer plot)) image))))
    (gimp-image-insert-layer image layer 0 0)
    (gimp-image-delete plot)
    (tavo-prepare-layer image layer name)))

(define (tavo-plot-file base index type)
  (string-append base "(Layer" (number->string index) ")." type))

; The picture of the plots named in `names`, the first at the bottom.
(define (tavo-stack-plots base type resolution names)
  (let* ((first (tavo-plot-file base 0 type))
         (image (tavo-load-plot first type resolution)))
    (gimp-image-undo-disable image)
    (tavo-prepare-layer image (car (gimp-image-get-active-layer image)) (car names))
    (let loop ((index 1) (rest (cdr names)))
      (if (not (null? rest))
          (begin
            (tavo-add-plot image (tavo-plot-file base index type) type resolution (car rest))
            (loop (+ index 1) (cdr rest)))))
    (gimp-image-undo-enable image)
    image))

(define (tavo-save-psd image file)
  (file-psd-save RUN-NONINTERACTIVE image (car (gimp-image-get-active-layer image)) file file 0 0)
  (gimp-image-set-filename image file)
  (gimp-image-clean-all image))

; Shows the picture when GIMP runs with its user interface.
(define (tavo-show image)
  (catch #f (gimp-display-new image)))

(define (Tavo-Imgcreate base type layers-file resolution)
  (set! layers '())
  (load (tavo-posix-path layers-file))
  (if (null? layers)
      (gimp-message "Tavo-Imgcreate: no plot layers")
      (let* ((posix-base (tavo-posix-path base))
             (image (tavo-stack-plots posix-base type resolution layers)))
        (tavo-save-psd image (string-append posix-base ".psd"))
        (tavo-show image))))

; ---- Convert ----

(define (tavo-save-flat image layer file type)
  (cond ((string-ci=? type "tif") (file-tiff-save RUN-NONINTERACTIVE image layer file file 1))
        ((string-ci=? type "png") (file-png-save-defaults RUN-NONINTERACTIVE image layer file file))
        ((string-ci=? type "jpg")
         (file-jpeg-save RUN-NONINTERACTIVE image layer file file 0.9 0 1 0 "" 2 1 0 0))
        ((string-ci=? type "bmp") (file-bmp-save RUN-NONINTERACTIVE image layer file file))
        ((string-ci=? type "tga") (file-tga-save RUN-NONINTERACTIVE image layer file file 1 0))
        (else (gimp-message (string-append "Tavo-Imgconvert: unknown picture type " type)))))

(define (Tavo-Imgconvert base type)
  (let* ((posix-base (tavo-posix-path base))
         (psd (string-append posix-base ".psd"))
         (image (car (gimp-file-load RUN-NONINTERACTIVE psd psd)))
         (layer (car (gimp-image-flatten image))))
    (tavo-save-flat image layer (string-append posix-base "." type) type)
    (gimp-image-delete image)))
