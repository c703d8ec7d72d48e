-- Zefra sample script
create table orders (
    id int not null,
    customer_id int references customers(id),
    note varchar(40) default 'none'
)
go
/* a comment
   over two lines */
select o.id, c.name#1, @total = count(*)
from orders o inner join customers c on o.customer_id = c.id
where o.id between 1 and 1-2 and o.id <> 5--trailing
  and c.name like 'it''s' or c.name = "a""b" or x >= 1.5
  and note = 'spans
two lines' and $x <= 3 || y # \ `
exec sp_who @@spid
/* left open
