// Sample script
/* a block comment
   over two lines */
function greet(name) {
    var $el = document.getElementById("out");
    var path = "C:\\", quote = 'it\'s';
    var n = 0x1F + 1.5e-3 + .5, m = 10-x;
    if (n !== m && typeof name === "string") {
        window.alert(name);
    }
    $el.onClick = null;
    return NaN >>> 1 `tick`;
}
